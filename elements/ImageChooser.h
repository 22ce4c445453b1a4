#pragma once
#include <string>
#include <vector>

class PanelWidgets;

// The image part of a panel: a path typed under the kind's folder or taken
// from its list of precreated images, and the check that tells the user
// whether the file is there before anything is loaded from it.
class ImageChooser {
public:
    ImageChooser(PanelWidgets& widgets, std::string folder, std::vector<std::string> precreated);

    // "path_info" with "is_path" beside it, "path" with "set_path", then
    // "set_precreated_path" with "set_precreated".
    void build();

    // "set_path": starts typing in "path", or ends it and checks the path.
    void toggleTyping();
    // "set_precreated": the next precreated path, back to the first past the end.
    void showNextPrecreated();
    // Shows "Image found" or "Image not found" and says whether it was found;
    // an empty path fails without a word.
    bool check();

    // The file a chosen image is loaded from: folder + path.
    std::string file() const;

    const std::string folder;
    const std::vector<std::string> precreated;
    // The last precreated path shown; -1 before the first, so the first
    // "SET" shows the first entry.
    int precreatedIndex = -1;

private:
    PanelWidgets& widgets;
};
