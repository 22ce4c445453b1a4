// The copy of the level kept on disk while it is edited, so that a crash or
// a killed game loses at most the last half minute of work.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "editor/ImportExportPanel.h"
#include "engine/GUISystem.h"
#include "engine/TextFileStore.h"

void ImportExportPanel::keepRecovery() {
    if (--recoveryCountdown > 0) return;
    recoveryCountdown = recoverySeconds * 60;
    // A copy left by an earlier run waits under a name of its own, so new
    // work is copied as always; a map saved under the copy's name is the user's.
    if (recoveryIsMap || isMapEmpty()) return;
    const std::string now = snapshot();
    if (now == recoveryWritten) return;
    // Written whole or not at all: a failed copy keeps the last one and is
    // tried again next time.
    if (NK::replaceWhole(recoveryPath, now)) recoveryWritten = now;
}

void ImportExportPanel::dropRecovery() {
    // Only this level's copy goes: an older one offered waits under its own name.
    if (!recoveryIsMap) std::remove(recoveryPath.c_str());
    recoveryWritten.clear();
    recoveryCountdown = recoverySeconds * 60;
}

void ImportExportPanel::endRecoveryOffer(bool removeCopy) {
    // Another level started: the older work was not wanted.
    if (offeringRecovery && removeCopy) std::remove(offeredPath().c_str());
    if (offeringRecovery && paged) gui->setButtonShown("recover", false);
    offeringRecovery = false;
}

bool ImportExportPanel::samePlace(const std::string& path, const std::string& other) {
    std::error_code savedError, copyError;
    const auto saved = std::filesystem::weakly_canonical(path, savedError);
    const auto copy = std::filesystem::weakly_canonical(other, copyError);
    return !savedError && !copyError && saved == copy;
}

void ImportExportPanel::offerRecovery() {
    // The copy this run finds is set aside under a name of its own, so that
    // copies of new work cannot take its place before it is recovered. A
    // newer one takes the place of one set aside by a run before.
    if (!paged) return;
    if (access(recoveryPath.c_str(), F_OK) == 0)
        std::rename(recoveryPath.c_str(), offeredPath().c_str());
    struct stat info {};
    offeringRecovery = stat(offeredPath().c_str(), &info) == 0;
    if (!offeringRecovery) return;
    // The button names when the copy was made, so the user knows which work it is.
    char when[32] = "";
    std::tm local{};
    localtime_r(&info.st_mtime, &local);
    std::strftime(when, sizeof when, "%d-%m-%Y %H:%M", &local);
    gui->setButtonText("recover", std::string("RECOVER ") + when, 1);
    gui->setButtonShown("recover", shown);
}

void ImportExportPanel::recover() {
    if (!offeringRecovery) return;
    // While the copy is offered neither answer removes it, so it is still
    // there to load.
    unsavedMapPrompt();
    clearMap();
    loadMap(offeredPath());
    // The level now shown is copied as this level's from here on; the copy
    // on offer goes only once that copy is safe.
    const std::string now = snapshot();
    const bool copied = NK::replaceWhole(recoveryPath, now);
    if (copied) recoveryWritten = now;
    endRecoveryOffer(copied);
    resetPathInputs();
}
