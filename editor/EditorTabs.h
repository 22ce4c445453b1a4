#pragma once
#include <array>

#include "elements/LevelKinds.h"

// Which tab of the editor is active and what a change of tab asks the frame
// to do, as plain state: the tab values, the two rows of element tabs, the
// tab the test run returns to, and whether a test run starts or ends.
struct EditorTabs {
    // The element kinds' tabs (PlayerTab = 0 ...), then the two of the frame.
    enum Tab : int {
#define DOVRA_KIND_TAB(Class, member, key, label) Class##Tab,
        DOVRA_LEVEL_KINDS(DOVRA_KIND_TAB)
#undef DOVRA_KIND_TAB
            TestRun,
        ImportExport
    };
    static constexpr int elementTabs = TestRun;
    static constexpr int firstOfRow1 = BackgroundsTab;

    int editorTab = ImportExport;
    int previousTab = ImportExport;
    int tabRow = 0;
    std::array<int, 2> rowTab{PlayerTab, BackgroundsTab};
    bool testRunning = false;
    bool controlPlayer = true;

    static int rowOf(int tab) {
        return tab < firstOfRow1 ? 0 : 1;
    }

    // Entering the editor scene.
    void enter() {
        editorTab = ImportExport;
        tabRow = 0;
    }
    void chooseElement(int tab) {
        editorTab = tab;
        previousTab = tab;
        rowTab[static_cast<std::size_t>(rowOf(tab))] = tab;
    }
    void chooseImportExport() {
        editorTab = ImportExport;
        previousTab = ImportExport;
    }
    // "run" and Space: into the test run, or back to the tab it left.
    void toggleRun() {
        editorTab = editorTab != TestRun ? TestRun : previousTab;
    }
    // "change": the other row, and its last tab unless running or on Import/Export.
    void changeRow() {
        tabRow = 1 - tabRow;
        if (editorTab != TestRun && editorTab != ImportExport)
            editorTab = rowTab[static_cast<std::size_t>(tabRow)];
    }
    // "back" (and Escape outside a test run).
    void leave() {
        editorTab = ImportExport;
        previousTab = ImportExport;
    }
    // Escape: a test run ends and the editor stays (false); otherwise the
    // editor is left (true).
    bool escape() {
        if (editorTab != TestRun) return true;
        editorTab = previousTab;
        return false;
    }

    // What bringing the frame into line with editorTab means for the test run.
    struct Apply {
        bool running = false;   // the tab is the test run
        bool starting = false;  // ... and it was not on before
        bool ending = false;    // a run was on and the tab is no longer the test run
    };
    // Call once per apply; it records the new running state.
    Apply apply() {
        Apply a;
        a.running = editorTab == TestRun;
        a.starting = a.running && !testRunning;
        a.ending = !a.running && testRunning;
        testRunning = a.running;
        return a;
    }
};
