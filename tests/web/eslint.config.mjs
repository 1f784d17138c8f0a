// The lint of the page's scripts, its test and its benchmark, by their paths from the
// repository's root, where the lint script runs it: npm --prefix tests/web run --silent lint
import js from '@eslint/js';
import stylistic from '@stylistic/eslint-plugin';
import globals from 'globals';

const scope = (files, names, sourceType = 'script') =>
  ({ files, languageOptions: { globals: names, sourceType } });
const workers = ['web/*_worker.js'];
// Read by hosts other than a page: the npm package's command and threads too.
const shared = ['web/limits.js', 'web/run.js', 'web/endings.js'];
export default [
  js.configs.recommended,
  { plugins: { '@stylistic': stylistic }, rules: { '@stylistic/max-len': ['error', 100] } },
  { ...scope(['web/*.js'], globals.browser), ignores: [...workers, ...shared] },
  scope(workers, { ...globals.worker, createQualm: 'readonly' }),
  scope(shared, globals['shared-node-browser']),
  scope(['tests/web/*.mjs', 'bench/*.mjs', 'tools/*.mjs'],
    { ...globals.node, ...globals.browser }, 'module'),
  // The npm package's command, threads and module; host.js and system.js are templates of
  // emscripten's.
  scope(['web/npm/qualm.js', 'web/npm/thread.js'], globals.node, 'commonjs'),
  scope(['web/npm/index.mjs', 'tests/run_test.mjs'], globals.node, 'module'),
  { ignores: ['web/host.js', 'web/npm/system.js', 'build/'] },
];
