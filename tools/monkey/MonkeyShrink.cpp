#include "tools/monkey/MonkeyShrink.h"

#include <chrono>

#include "tools/monkey/MonkeyRun.h"

namespace {

// "tick 812: why" -> "why": the same fault may come on another tick.
std::string kindOf(const std::string& failure) {
    const std::size_t colon = failure.find(": ");
    std::string why = colon == std::string::npos ? failure : failure.substr(colon + 2);
    // Names and lines differ between tries of one fault; the sentence's start does not.
    return why.substr(0, 40);
}

}  // namespace

std::string playMonkeyScript(const MonkeyScript& script, const std::string& dataFolder) {
    MonkeyRun::Options o;
    o.dataFolder = dataFolder;
    o.answers = script.answers;
    MonkeyRun run(o);
    for (const MonkeyAction& a : script.actions)
        if (!run.play(a)) break;
    return run.failure;
}

MonkeyScript shrinkMonkeyScript(const MonkeyScript& failing, const std::string& failure,
                                const std::string& dataFolder, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    auto timeLeft = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
               seconds;
    };
    const std::string kind = kindOf(failure);
    MonkeyScript best = failing;
    for (std::size_t chunk = best.actions.size() / 2; chunk >= 1 && timeLeft(); chunk /= 2) {
        for (std::size_t from = 0; from < best.actions.size() && timeLeft();) {
            MonkeyScript trial = best;
            const std::size_t to = std::min(from + chunk, trial.actions.size());
            trial.actions.erase(trial.actions.begin() + from, trial.actions.begin() + to);
            const std::string got = playMonkeyScript(trial, dataFolder);
            if (!got.empty() && kindOf(got) == kind)
                best = trial;  // the same place now holds what came after
            else
                from += chunk;
        }
    }
    return best;
}
