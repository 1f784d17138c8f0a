// Programs that write much, or are large, by name: the page test checks how
// the page puts their output on the page, and bench/page.mjs times them.
export const heavy = {
  'q-': 'q-',
  'Q-😀': 'Q-😀',
  'é q-': 'é q-',
  'h x 80,000': 'h'.repeat(80000),
  '9 x 200': '9'.repeat(200),
  '5 MiB pasted': `h${'x'.repeat(5 << 20)}q`,
};
