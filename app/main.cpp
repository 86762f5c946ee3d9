#include "app/startup.h"

int main(int argc, char** argv) {
    rt::Application application(argc, argv);
    return app::StartUp(application);
}
