#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The tutorial's pages, turned forward and back with wrap-around. The page
// stays where the player left it between visits.
class TutorialBook {
public:
    void setPages(std::vector<std::string> keys) {
        pages = std::move(keys);
        page = 0;
    }
    void next() {
        if (++page >= static_cast<std::int32_t>(pages.size())) page = 0;
    }
    void previous() {
        if (--page < 0) page = static_cast<std::int32_t>(pages.size()) - 1;
    }
    const std::string& current() const { return pages[static_cast<std::size_t>(page)]; }
    bool empty() const { return pages.empty(); }

    std::vector<std::string> pages;
    std::int32_t page = 0;
};
