#include "editor/UndoHistory.h"

#include <algorithm>

#include <utility>

void UndoHistory::reset(std::string snapshot) {
    now = std::move(snapshot);
    past.clear();
    future.clear();
}

bool UndoHistory::record(std::string snapshot) {
    if (snapshot == now) return false;
    past.push_back(std::move(now));
    if (past.size() > depth) past.pop_front();
    now = std::move(snapshot);
    // A new change ends the line that redo would have followed.
    future.clear();
    return true;
}

std::optional<std::string> UndoHistory::undo() {
    if (past.empty()) return std::nullopt;
    future.push_back(std::move(now));
    now = std::move(past.back());
    past.pop_back();
    return now;
}

std::optional<std::string> UndoHistory::redo() {
    if (future.empty()) return std::nullopt;
    past.push_back(std::move(now));
    now = std::move(future.back());
    future.pop_back();
    return now;
}

bool UndoHistory::holds(const std::string& snapshot) const {
    return now == snapshot || std::find(past.begin(), past.end(), snapshot) != past.end() ||
           std::find(future.begin(), future.end(), snapshot) != future.end();
}
