#include "OrdlenApp.h"

int main(int argc, char *argv[])
{
    return OrdlenApp::main(argc, argv);
}
