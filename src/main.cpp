#include "game/startup.h"

int main(int argc, char** argv) { return RunGame(argc, argv); }
