#include "outside/verup/Updater.h"

int main(int argc, char** argv)
{
    return verup::RunUpdater(argc, argv);
}
