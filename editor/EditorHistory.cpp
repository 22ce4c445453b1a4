// Undo and redo over whole-level snapshots: what the editor adds beyond a
// save, so no change is ever lost by a slip of the mouse.
#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "engine/Input.h"

bool EditorFrame::restore(const std::string& snapshot) {
    if (!services.importExport->restore(snapshot)) return false;
    history.amendCurrent(services.importExport->snapshot());
    // Pages show the restored records, none selected.
    applyEditorTab();
    return true;
}

void EditorFrame::takeUnrecordedChange() {
    // A drag still held (or a change whose tick has not come) is a step of
    // its own, so undo takes back that change and only that one.
    history.record(services.importExport->snapshot());
    changePending = pointerChangePending = false;
}

void EditorFrame::undo() {
    if (tabs.testRunning) return;
    takeUnrecordedChange();
    // A step that does not read is stepped over back again: level and history
    // stay as they were.
    if (auto snapshot = history.undo())
        if (!restore(*snapshot)) history.redo();
}

void EditorFrame::redo() {
    if (tabs.testRunning) return;
    takeUnrecordedChange();
    if (auto snapshot = history.redo())
        if (!restore(*snapshot)) history.undo();
}

void EditorFrame::noteEdges() {
    NK::Input& input = *services.input;
    // Every change comes from a key, a click or a release; a tick without one
    // cannot have changed the level.
    for (int k = 0; k < NK::Input::keyCount && !changePending; ++k)
        changePending = input.keyPressed[k];
    for (int b = 0; b < NK::Input::mouseSlots; ++b)
        if (input.mouseReleased[b] || input.mousePressed[b])
            changePending = pointerChangePending = true;
}

void EditorFrame::recordChange() {
    // The widgets act on a click after the frame's update, so a change is
    // taken in the tick after its edge; a held drag waits for its release.
    if (!changePending || tabs.testRunning || services.input->mouseDown(1)) return;
    // Typed text is one step once the field takes it; but a drag or a click
    // made while a field still has the keyboard is a step of its own, or the
    // next edit would swallow it and undo could never bring it back.
    if (typing() && !pointerChangePending) return;
    changePending = pointerChangePending = false;
    history.record(services.importExport->snapshot());
}
