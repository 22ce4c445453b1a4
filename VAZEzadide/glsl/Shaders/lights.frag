// Dovra light pass, fragment stage.
//
// Uniforms, as the light system uploads them:
//   light_pos[i]   = (x, y, hardness)          x, y in level pixels
//   light_color[i] = (red, green, blue, intensity)
//   light_num      = number of lights (1..100); lights_on false = unlit
//   camera_trans   = view rectangle (x, y, width, height) in level pixels
//   window_size    = window width and height in pixels
//
// A light's intensity is its reach in level pixels (the editor drags it as a
// distance). Inside the reach the light falls off as (1 - d/reach)^k with
// k = 2 / (1 + hardness): hardness 0 is a soft quadratic glow, larger values
// keep the light bright and end it with a harder edge. Lights add. An
// ambient floor keeps unlit areas dark but readable.
#ifdef GL_ES
precision mediump float;
#endif

uniform sampler2D al_tex;
uniform bool al_use_tex;
uniform vec3 light_pos[100];
uniform vec4 light_color[100];
uniform int light_num;
uniform bool lights_on;
uniform vec4 camera_trans;
uniform vec2 window_size;

varying vec4 varying_color;
varying vec2 varying_texcoord;

const vec3 AMBIENT = vec3(0.20, 0.21, 0.25);
const float MAX_LIGHT = 1.6;

void main()
{
    vec4 c = varying_color;
    if (al_use_tex)
        c *= texture2D(al_tex, varying_texcoord);
    if (!lights_on) {
        gl_FragColor = c;
        return;
    }
    // gl_FragCoord counts from the window's bottom-left corner; the view
    // rectangle maps the window onto the level with y growing downward.
    vec2 level = camera_trans.xy +
        vec2(gl_FragCoord.x, window_size.y - gl_FragCoord.y) * camera_trans.zw / window_size;

    vec3 light = AMBIENT;
    for (int i = 0; i < 100; i++) {
        if (i >= light_num)
            break;
        float reach = light_color[i].w;
        vec2 d = level - light_pos[i].xy;
        float d2 = dot(d, d);
        if (reach <= 0.0 || d2 >= reach * reach)
            continue;
        float t = 1.0 - sqrt(d2) / reach;
        float k = 2.0 / (1.0 + max(light_pos[i].z, 0.0));
        light += light_color[i].rgb * pow(t, k);
    }
    // Premultiplied or not, scaling rgb keeps colour and alpha consistent.
    gl_FragColor = vec4(c.rgb * min(light, vec3(MAX_LIGHT)), c.a);
}
