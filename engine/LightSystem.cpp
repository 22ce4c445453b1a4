#include "engine/LightSystem.h"

#include "engine/Display.h"
#include "engine/Log.h"
#include "engine/View.h"

namespace NK {

namespace {

std::string shaderLog(ALLEGRO_SHADER* shader) {
    const char* log = al_get_shader_log(shader);
    return log ? log : "";
}

}  // namespace

LightSystem::LightSystem(RenderContext* rc) : renderContext(rc) {
    shader = al_create_shader(ALLEGRO_SHADER_GLSL);
    if (!shader) {
        // Without a shader object there is no log to show; say what failed.
        fatalError("Light shader could not be created");
    }
    attach(ALLEGRO_VERTEX_SHADER, vertexPath);
    if (!shader) return;
    attach(ALLEGRO_PIXEL_SHADER, fragmentPath);
    if (!shader) return;
    if (!al_build_shader(shader)) {
        fail();
        return;
    }
    al_use_shader(shader);
}

LightSystem::~LightSystem() {
    if (!shader) return;
    // Leave the target drawing with Allegro's own shader, not a dangling one.
    al_use_shader(nullptr);
    al_destroy_shader(shader);
}

void LightSystem::attach(ALLEGRO_SHADER_TYPE type, const char* path) {
    if (!al_attach_shader_source_file(shader, type, path)) fail();
}

void LightSystem::fail() {
    // The log belongs to the shader, so take it before letting the shader go.
    const std::string log = shaderLog(shader);
    al_destroy_shader(shader);
    shader = nullptr;
    fatalError(log);
}

void LightSystem::uploadUniforms() {
    const int n = lights.count();
    if (n < 1) {
        // The other uniforms keep their last values; the shader ignores them
        // while the lights are off.
        al_set_shader_bool("lights_on", false);
        return;
    }
    const int filled = lights.fillSlots(lightPositions, lightColours);
    al_set_shader_float_vector("light_pos", 3, &lightPositions[0][0], filled);
    al_set_shader_float_vector("light_color", 4, &lightColours[0][0], filled);
    al_set_shader_int("light_num", filled);
    al_set_shader_bool("lights_on", lightsOn);

    const View& v = *renderContext->view;
    const float camera[4] = {v.x, v.y, v.width, v.height};
    al_set_shader_float_vector("camera_trans", 4, camera, 1);
    const float window[2] = {static_cast<float>(renderContext->display->windowWidth),
                             static_cast<float>(renderContext->display->windowHeight)};
    al_set_shader_float_vector("window_size", 2, window, 1);
}

}  // namespace NK
