// The sound effects, synthesised sample by sample (mono, 44.1 kHz), written
// as WAV and encoded to OGG Vorbis with oggenc (a fixed serial number keeps
// the output the same from run to run). Each is normalised to a peak of
// 0.85 so that nothing clips; "steps.ogg" is a loop whose ends are silent.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

namespace gen {
namespace {

const int kRate = 44100;
const float kTau = 6.2831853f;

struct Noise {
    uint32_t s;
    explicit Noise(uint32_t seed) : s(seed) {}
    float operator()() {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) / float(1 << 23) - 1.f;
    }
};

// One-pole low-pass, cutoff in Hz.
struct LowPass {
    float y = 0;
    float operator()(float x, float cutoff) {
        float a = 1 - std::exp(-kTau * cutoff / kRate);
        y += a * (x - y);
        return y;
    }
};

using Buf = std::vector<float>;

Buf make(float seconds, const std::function<float(float, int)>& f) {
    Buf b((size_t)(seconds * kRate));
    for (size_t i = 0; i < b.size(); i++) b[i] = f(i / float(kRate), (int)i);
    return b;
}

void finish(Buf& b, bool fadeEnds) {
    float peak = 1e-6f;
    for (float v : b) peak = std::fmax(peak, std::fabs(v));
    for (float& v : b) v *= 0.85f / peak;
    if (fadeEnds) {
        size_t n = std::min(b.size() / 4, (size_t)(0.004f * kRate));
        for (size_t i = 0; i < n; i++) b[i] *= i / float(n);
        size_t m = std::min(b.size() / 4, (size_t)(0.02f * kRate));
        for (size_t i = 0; i < m; i++) b[b.size() - 1 - i] *= i / float(m);
    }
}

void write(const std::string& name, Buf b, bool fadeEnds = true) {
    finish(b, fadeEnds);
    std::string ogg = "Resources/Sounds/" + name + ".ogg";
    std::string wav = "/tmp/dovra-assetgen-" + name + ".wav";
    ensureDir(ogg);
    FILE* f = std::fopen(wav.c_str(), "wb");
    if (!f) std::exit(1);
    auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
    uint32_t bytes = (uint32_t)b.size() * 2;
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(bytes);
    for (float v : b) {
        int s = (int)std::lround(std::fmax(-1.f, std::fmin(1.f, v)) * 32767);
        u16((uint16_t)(int16_t)s);
    }
    std::fclose(f);
    std::string cmd = "oggenc -Q -q 4 --serial 1 -o '" + ogg + "' '" + wav + "'";
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "assetgen: oggenc failed for %s\n", wav.c_str());
        std::exit(1);
    }
    std::remove(wav.c_str());
    std::printf("  %s\n", ogg.c_str());
}

float env(float t, float attack, float decay) {
    return (t < attack ? t / attack : 1) * std::exp(-(t - std::fmin(t, attack)) * decay);
}

}  // namespace

void makeSounds() {
    {  // gun: a sharp crack over a falling tone and a low punch
        Noise n(1);
        LowPass lp;
        float ph = 0, ph2 = 0;
        write("gun", make(0.26f, [&](float t, int) {
                  float f = 180 + 900 * std::exp(-t * 30);
                  ph += kTau * f / kRate;
                  ph2 += kTau * (70 + 60 * std::exp(-t * 40)) / kRate;
                  float crack = lp(n(), 6000 - 5000 * std::fmin(1.f, t * 8)) * env(t, 0.001f, 38);
                  return 0.9f * crack + 0.45f * std::sin(ph) * env(t, 0.002f, 22) +
                         0.6f * std::sin(ph2) * env(t, 0.002f, 18);
              }));
    }
    {  // camera: an electronic zap with a wobble
        float ph = 0;
        Noise n(2);
        write("camera", make(0.32f, [&](float t, int) {
                  float f = 500 + 1100 * std::exp(-t * 12) + 60 * std::sin(kTau * 38 * t);
                  ph += kTau * f / kRate;
                  float sq = std::tanh(3 * std::sin(ph));
                  return (0.6f * sq + 0.15f * n()) * env(t, 0.003f, 11);
              }));
    }
    {  // camera_destroy: a boom, a crunch of metal and falling glass
        Noise n(3);
        LowPass lp, lp2;
        float ph = 0;
        std::vector<std::pair<float, float>> tinkles;
        for (int i = 0; i < 12; i++)
            tinkles.push_back({0.05f + hash2(i, 1, 3) * 0.6f, 2500 + 3500 * hash2(i, 2, 3)});
        write("camera_destroy", make(0.95f, [&](float t, int) {
                  ph += kTau * (40 + 50 * std::exp(-t * 6)) / kRate;
                  float boom = std::sin(ph) * env(t, 0.004f, 5);
                  float crunch = lp(n(), 300 + 3000 * std::exp(-t * 5)) * env(t, 0.002f, 4) * 1.4f;
                  float glass = 0;
                  for (auto& [t0, f] : tinkles)
                      if (t > t0) glass += std::sin(kTau * f * (t - t0)) * std::exp(-(t - t0) * 30);
                  float hiss = lp2(n(), 8000) * env(t, 0.01f, 8) * 0.2f;
                  return 0.8f * boom + crunch + 0.12f * glass + hiss;
              }));
    }
    {  // shot_destroy: a short spark tick
        Noise n(4);
        LowPass lp;
        write("shot_destroy", make(0.15f, [&](float t, int) {
                  float x = n();
                  float hi = x - lp(x, 2500);
                  return hi * env(t, 0.0005f, 45) +
                         0.4f * std::sin(kTau * 2300 * t) * env(t, 0.001f, 35);
              }));
    }
    {  // hit: a body thump with a distorted buzz
        float ph = 0;
        write("hit", make(0.36f, [&](float t, int) {
                  ph += kTau * (60 + 90 * std::exp(-t * 14)) / kRate;
                  float thump = std::sin(ph) * env(t, 0.002f, 10);
                  float buzz = std::tanh(4 * std::sin(kTau * 170 * t)) * env(t, 0.004f, 14) * 0.35f;
                  return thump + buzz;
              }));
    }
    {  // steps: two footfalls per 0.56 s loop, silent at both ends
        Noise n(5);
        LowPass lp;
        const float T = 0.56f, at[2] = {0.06f, 0.34f};
        write("steps",
              make(T,
                   [&](float t, int) {
                       float v = 0;
                       for (int k = 0; k < 2; k++) {
                           float d = t - at[k];
                           if (d < 0 || d > 0.16f) continue;
                           v += std::sin(kTau * (65 + k * 8) * d) * env(d, 0.002f, 40) * 0.9f;
                           v += lp(n(), 1800) * env(d, 0.001f, 55) * 2.2f;
                       }
                       return v;
                   }),
              false);
    }
    {  // win: a rising major arpeggio into a held chord
        const float notes[4] = {523.25f, 659.25f, 783.99f, 1046.5f};
        write("win", make(1.6f, [&](float t, int) {
                  float v = 0;
                  for (int k = 0; k < 4; k++) {
                      float d = t - k * 0.11f;
                      if (d < 0) continue;
                      float e = env(d, 0.005f, k == 3 ? 2.2f : 5.f);
                      v += (std::sin(kTau * notes[k] * d) +
                            0.3f * std::sin(kTau * 2 * notes[k] * d)) *
                           e;
                  }
                  return v;
              }));
    }
    {  // lose: a falling minor figure and a low hum fading out
        const float notes[3] = {392.0f, 311.13f, 261.63f};
        LowPass lp;
        write("lose", make(1.7f, [&](float t, int) {
                  float v = 0;
                  for (int k = 0; k < 3; k++) {
                      float d = t - k * 0.26f;
                      if (d < 0) continue;
                      float f = notes[k] * (k == 2 ? 1 - 0.04f * std::fmin(d, 1.f) : 1);
                      v += std::tanh(2 * std::sin(kTau * f * d)) *
                           env(d, 0.01f, k == 2 ? 1.8f : 6.f);
                  }
                  return lp(v, 2200);
              }));
    }
}

}  // namespace gen
