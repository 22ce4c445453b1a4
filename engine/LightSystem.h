#pragma once
#include <allegro5/allegro.h>

#include <string>

#include "engine/LightSystemStore.h"
#include "engine/RenderContext.h"
#include "engine/Vec2.h"

namespace NK {

// Point lights computed per pixel by a shader. Anything drawn while the
// shader is current is lit; the game selects no shader for what must stay
// unlit. Once per tick the lights, the view and the window size are copied
// into the shader's uniforms.
class LightSystem {
public:
    static constexpr const char* vertexPath = "VAZEzadide/glsl/Shaders/lights.vert";
    static constexpr const char* fragmentPath = "VAZEzadide/glsl/Shaders/lights.frag";
    static constexpr int maxLights = LightSystemStore::maxLights;

    // Builds the shader and makes it current; any failing step is fatal.
    explicit LightSystem(RenderContext* renderContext);
    ~LightSystem();
    LightSystem(const LightSystem&) = delete;
    LightSystem& operator=(const LightSystem&) = delete;

    bool createLight(const std::string& key, Vec2 position, float red, float green, float blue,
                     float intensity, float hardness) {
        return lights.createLight(key, position, red, green, blue, intensity, hardness);
    }
    void setPosition(const std::string& key, Vec2 p) { lights.setPosition(key, p); }
    void setColor(const std::string& key, float r, float g, float b) {
        lights.setColor(key, r, g, b);
    }
    void setIntensity(const std::string& key, float v) { lights.setIntensity(key, v); }
    void setHardness(const std::string& key, float v) { lights.setHardness(key, v); }
    ALLEGRO_COLOR getColor(const std::string& key) { return lights.getColor(key); }
    Vec2 getPosition(const std::string& key) { return lights.getPosition(key); }
    float getIntensity(const std::string& key) { return lights.getIntensity(key); }
    float getHardness(const std::string& key) { return lights.getHardness(key); }
    void clearLight(const std::string& key) { lights.clearLight(key); }
    void clearLights() { lights.clearLights(); }
    int lightCount() const { return lights.count(); }
    std::vector<std::string> lightKeys() const { return lights.keys(); }

    // Copies the store, the view and the window size into the current shader,
    // which must be this one.
    void uploadUniforms();

    ALLEGRO_SHADER* getShader() const { return shader; }

    RenderContext* renderContext = nullptr;
    bool lightsOn = true;

private:
    // Attaches one source file, ending the program with the shader's log on failure.
    void attach(ALLEGRO_SHADER_TYPE type, const char* path);
    // Releases the shader and ends the program with its log.
    void fail();

    ALLEGRO_SHADER* shader = nullptr;
    LightSystemStore lights;
    float lightPositions[maxLights][3] = {};
    float lightColours[maxLights][4] = {};
};

}  // namespace NK
