// A member's load list in one load case as the load dialog changes it:
// loads 1..荷载数 in the arrays hzlx, xq and q (slot 0 unused). Every change writes the three
// arrays back whole, 56 slots each, so a member read with shorter arrays
// leaves with full ones.
#pragma once

#include <string>

#include "document/load_cases.h"

// Appends load 荷载数 + 1. Slot 0 and the slots after the new load hold the
// kind " " (one blank) and 0. False, and the member unchanged, when it
// already carries the most loads a member may carry (55).
bool appendLoad(MemberLoads member, const std::string& kind, float xq, float q);

// Sets xq and q of load k (1..荷载数); its kind stays.
void setLoadValues(MemberLoads member, int k, float xq, float q);

// Removes load k (1..荷载数): the last load moves into its place and the
// freed slot is cleared (an empty kind, 0, 0).
void removeLoad(MemberLoads member, int k);
