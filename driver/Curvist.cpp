// curvist: plots every data file of the current folder on screen and into a picture.
#include "Main.hpp"

int main() { return curvist::MAIN(); }
