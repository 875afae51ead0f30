// The ship antenna vector file: where the focus ship's high-gain antenna points.
//
// The file of a vessel class is "config/Orvenet/ShipVectors/" + class name + ".cfg"
// under the main folder; its item "VECTOR" gives the antenna's direction in the ship's
// own frame, of any length. A class name is taken as the host reports it, cut to 255
// characters; with no focus vessel the class name is empty.
#pragma once

// Builds the antenna vector file name of the current focus vessel into
// g_antennaFileName (shown by "Check cfg filename"). Can't fail.
void MakeAntennaFileName();

// Reads "VECTOR" from the focus vessel's antenna vector file into g_antennaVector and
// makes it a unit vector (Enable Track). The file is open only for the read. A missing
// file or item keeps the vector as it was (so a ship without a file keeps the previous
// ship's direction), and so does having no focus vessel (no file is read then); a
// vector of length zero, as right after load, becomes (0, 0, 1), the ship's +z axis.
// A vector whose length is not a number stays not a number. Does not touch
// g_antennaFileName. Can't fail.
void LoadAntennaVector();
