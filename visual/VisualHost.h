// What the Visual Editor asks of the main window that owns it: the video loading command, the
// toolbar button that mirrors the editor, and the About window. The main window implements it.
#pragma once

class VisualHost {
public:
    virtual ~VisualHost() = default;
    // Asks for a video and opens it in the editor's player (the main window's video command).
    virtual void subLoadVideo() = 0;
    // Presses (true) or releases the main window's Visual Editor button.
    virtual void setVisualButton(bool pressed) = 0;
    // Shows the About window modally.
    virtual void ShowAbout() = 0;
};
