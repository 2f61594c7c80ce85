#include "app/create_action.h"

// Placeholder until the create action lands.
void MakeBandImage() {}
