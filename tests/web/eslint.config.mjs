// The lint of the page's scripts, its test and its benchmark, by their paths from the
// repository's root, where the lint script runs it: npm --prefix tests/web run --silent lint
import js from '@eslint/js';
import stylistic from '@stylistic/eslint-plugin';
import globals from 'globals';

const scope = (files, names, sourceType = 'script') =>
  ({ files, languageOptions: { globals: names, sourceType } });
export default [
  js.configs.recommended,
  { plugins: { '@stylistic': stylistic }, rules: { '@stylistic/max-len': ['error', 100] } },
  scope(['web/playground.js'], globals.browser),
  scope(['web/worker.js'], { ...globals.worker, createQualm: 'readonly' }),
  scope(['tests/web/*.mjs', 'bench/page.mjs'], { ...globals.node, ...globals.browser }, 'module'),
  // The npm package's command and module; its system.js is a template of emscripten's.
  scope(['npm/qualm.js'], globals.node, 'commonjs'),
  scope(['npm/index.mjs', 'tests/run_test.mjs'], globals.node, 'module'),
  { ignores: ['npm/system.js'] },
];
