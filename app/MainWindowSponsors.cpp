// The sponsor banner: the sponsor list, the rotation and the banner's clicks.
#include "CD_Quorvate1.h"

// Shows the next sponsor's banner. The rotation is not built yet: nothing changes.
void TfrmMain::adSwap()
{
}
