#pragma once

class RandomSource;
struct ColourBars;
struct ShowSettings;

// The colour controls' set-up at the panel's first paint, once the load has applied the
// settings: with a random background the colour bars are disabled and the sample box is
// striped in random colours; otherwise the bars take the saved colour (running their change
// handling) and the sample box shows it.
void FirstPaintColours(const ShowSettings& settings, const ColourBars& colours,
                       RandomSource& random);
