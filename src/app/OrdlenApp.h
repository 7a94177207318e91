#pragma once

// The program: a tray application with no main window. Keeps to one running
// instance per data folder; a second launch shows the first one's panel.
class OrdlenApp
{
public:
    static int main(int argc, char *argv[]);
};
