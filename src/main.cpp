// The talking clock's entry point: real platform services, then the start-up sequence.
#include "app/Main.h"

int main(int argc, char** argv) { return Main(argc, argv); }
