#pragma once
#include <allegro5/allegro.h>

#include <string>

#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

// Real Allegro for tests: every add-on and one window on the virtual display
// (DISPLAY must name a running X server; `make test` starts one). Brought up
// on first use and kept for the whole test binary.
namespace nktest {

struct Engine {
    NK::Display* display = nullptr;
    NK::View* view = nullptr;
    NK::Input* input = nullptr;  // no event source: tests set its state directly
    NK::RenderContext* renderContext = nullptr;
};

Engine& engine();

// Draw target back to the window's back buffer, the view to 0,0,1920,1080
// unbounded and applied, culling on, the buffer cleared to opaque black.
void resetDrawing();

// Clears every edge and held key/button and puts the pointer at a window pixel.
void resetInput();
// A held key as al_key_down will report it.
void holdKey(NK::Input& input, int keycode, bool held = true);

// An absolute path under the source tree.
std::string sourcePath(const std::string& relative);
// A path in a folder of this test process's own, made with mkdtemp on first
// use and removed when the process ends; nothing else writes there.
std::string tempPath(const std::string& name);

}  // namespace nktest
