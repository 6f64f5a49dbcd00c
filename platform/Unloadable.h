// A window that does work when it is unloaded (a settings window writes its file). The main
// window unloads every other window through this when the program ends; windows without it
// are simply closed.
#pragma once

class Unloadable {
public:
    virtual ~Unloadable() = default;
    virtual void Unload() = 0;
};
