#include "app/startup.h"

int main(int argc, char** argv) {
    int exitCode = 0;
    {
        rt::Application application(argc, argv);
        exitCode = app::StartUp(application);
    }
    rt::exitProcess(exitCode);
}
