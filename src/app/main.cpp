#include "glyphorprogram.h"

int main(int argc, char *argv[])
{
    return runGlyphor(argc, argv);
}
