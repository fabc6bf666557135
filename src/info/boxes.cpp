// The four help boxes and their texts.
#include "window/mojik.h"

void MOJIK::pgm_Click() {}
void MOJIK::maker_Click() {}
void MOJIK::makekiki_Click() {}
void MOJIK::about_Click() {}
