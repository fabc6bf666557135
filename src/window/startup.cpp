// Form_Load: the first program code, once the controls hold their first values.
#include "window/mojik.h"

#include "controls/folder_list.h"
#include "controls/path_label.h"

void MOJIK::Form_Load()
{
    Label1->setPath(Dir1->path());
}
