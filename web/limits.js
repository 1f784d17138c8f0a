'use strict';
// The page's budgets, which the page and both of its workers read.
/* exported LIMITS */
const LIMITS = {
  outputBytes: 1 << 20, // a run is stopped after writing this much
  runMs: 2000, // or after running this long
  shownBytes: 32 << 10, // where a person stops reading; the rest is downloaded
  shownMarks: 1000, // bytes boxed as \xHH, after which the page shows no more
  shownCommands: 300, // commands shown one by one
};
