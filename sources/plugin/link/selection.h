// The searches for the station and the relay satellite that serve the focus vessel.
//
// Each search walks its roster up to the count of its list file, read through the host
// before the walk, after every slot and once more after the walk (n + 2 reads), measures
// every occupied slot afresh, and picks the nearest with FindMinimum. A search keeps its
// distance table on the stack and allocates nothing.
#pragma once

#include "host/host.h"

// Smallest of values[0 .. count-1] and its slot. Starts from values[count-1] and takes
// every value that is <= the smallest so far, so ties go to the highest slot and a NaN
// never qualifies. *index is written only when a value qualifies; for count < 1 nothing
// is written at all.
void FindMinimum(int count, const double* values, double* smallest, int* index);

// Number of entries of a list file: its item "N" read through the host, held to
// 0 .. ROSTER_SIZE. A file without "N" (or a null file) counts 0 entries, and a count
// above ROSTER_SIZE stops at the last roster slot.
int ReadCount(FILEHANDLE file);

// Picks the serving station of one station roster (ground or deep-space, with its list
// file) and shows its name in the controller dialog (control 1008).
// - Tracking off: "N/A", g_currentStation kept.
// - Slot 0 empty (no network): nothing changes, neither the result nor the text.
// - Otherwise the nearest station is the candidate; it serves when it is above the focus
//   vessel's horizon: g_currentStation and its name; else null and "N/A". With no
//   candidate (a count of 0, or only empty or unmeasurable slots) nothing serves: null
//   and "N/A". An empty slot is never chosen.
void SelectStation(OBJHANDLE* roster, FILEHANDLE file);

// Picks the serving relay satellite, by distance alone: refreshes g_hControlDlg; while
// tracking is off sets g_currentRelay to null; otherwise searches g_relayRoster, keeping
// g_relayIndex from the last search when no slot qualifies. With slot 0 empty (no
// network) g_currentRelay keeps its value; otherwise it becomes the vessel in slot
// g_relayIndex, or null when that slot lies beyond the count or is empty.
void SelectRelay();
