// giza 1.3.2 sets up fontconfig for its first font with FcInit() and then, to check that
// fontconfig works, loads the whole configuration a second time with
// FcInitLoadConfigAndFonts(), keeps the result only to see that it is not null, and never
// frees it: every configuration file parsed and every font cache read twice, a third of
// this program's start-up. Defined here, in the program, the function answers giza's call
// (fontconfig's own calls stay inside the library) with the configuration FcInit() has
// just loaded, the one cairo resolves fonts with anyway. Every font giza draws with is
// the same; only the second loading is saved.
#include <fontconfig/fontconfig.h>

extern "C" FcConfig* FcInitLoadConfigAndFonts() { return FcConfigReference(nullptr); }
