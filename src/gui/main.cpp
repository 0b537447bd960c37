#include "norvakapp.h"

int main(int argc, char** argv) {
    norvak::CNorvakApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return norvak::CNorvakApp::exec();
}
