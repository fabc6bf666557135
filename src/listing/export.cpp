// Command2_Click: the listing of the folder's file names.
#include "window/mojik.h"

void MOJIK::Command2_Click() {}
