#pragma once

// A 200-megapixel panorama decoded by the helper at a 1080-line screen's height, each of
// `rounds` times in a fresh helper (as a show meets it), against the wall-clock bound the program
// gives it now and on a loaded machine. True when every decode ended within the loaded bound.
bool panoramaAgainstItsBound(int rounds);
