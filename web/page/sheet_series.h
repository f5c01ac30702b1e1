#pragma once

// The sheet's measures after every step the page has taken since it
// opened, a link's steps included: the page's readouts, plot and CSV.
void noteStepTaken();
