// The editor's safety nets, beyond what a save does: undo and redo over
// whole-level snapshots, and a copy of the level kept on disk while it is
// edited, offered back after the game ended in the middle of an edit.
#include <allegro5/allegro.h>
#include <allegro5/allegro_native_dialog.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "engine/Display.h"
#include "engine/Input.h"

bool EditorFrame::ask(const std::string& title, const std::string& heading) {
    if (askYesNo) return askYesNo(title, heading);
    ALLEGRO_DISPLAY* parent = services.display ? services.display->display : nullptr;
    return al_show_native_message_box(parent, title.c_str(), heading.c_str(), "", nullptr,
                                      ALLEGRO_MESSAGEBOX_YES_NO) == 1;
}

void EditorFrame::restore(const std::string& snapshot) {
    services.importExport->restore(snapshot);
    history.amendCurrent(services.importExport->snapshot());
    // Pages show the restored records, none selected.
    applyEditorTab();
}

void EditorFrame::undo() {
    if (tabs.testRunning) return;
    if (auto snapshot = history.undo()) restore(*snapshot);
}

void EditorFrame::redo() {
    if (tabs.testRunning) return;
    if (auto snapshot = history.redo()) restore(*snapshot);
}

void EditorFrame::noteEdges() {
    NK::Input& input = *services.input;
    // Every change comes from a key, a click or a release; a tick without one
    // cannot have changed the level.
    for (int k = 0; k < NK::Input::keyCount && !changePending; ++k)
        changePending = input.keyPressed[k];
    for (int b = 0; b < NK::Input::mouseSlots && !changePending; ++b)
        changePending = input.mouseReleased[b] || input.mousePressed[b];
}

void EditorFrame::recordChange() {
    // The widgets act on a click after the frame's update, so a change is
    // taken in the tick after its edge; a held drag waits for its release.
    if (!changePending || tabs.testRunning || typing() || services.input->mouseDown(1)) return;
    changePending = false;
    history.record(services.importExport->snapshot());
}

void EditorFrame::keepRecoveryCopy() {
    if (tabs.testRunning || --recoveryCountdown > 0) return;
    recoveryCountdown = recoveryEvery;
    const std::string& now = history.current();
    if (now == recovered) return;
    if (services.importExport->isMapEmpty()) return dropRecoveryCopy();
    // Written beside and renamed over, so a crash mid-write keeps the last copy.
    const std::string temporary = recoveryPath + ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << now;
        if (!out) return;
    }
    if (std::rename(temporary.c_str(), recoveryPath.c_str()) == 0) recovered = now;
}

void EditorFrame::dropRecoveryCopy() {
    std::remove(recoveryPath.c_str());
    recovered.clear();
}

void EditorFrame::offerRecovery() {
    std::ifstream in(recoveryPath, std::ios::binary);
    if (!in) return;
    const std::string copy((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    if (ask("Recover Map", "Restore the level that was being edited when the game last closed?") &&
        services.importExport->restore(copy)) {
        // The recovered level is a change that can be undone back to the empty one.
        history.record(services.importExport->snapshot());
        recovered = copy;
        return;
    }
    dropRecoveryCopy();
}
