// The lint of the page's scripts, its test and its benchmark, run from the
// repository's root, whose paths these are: npm --prefix tests/web run --silent lint
import js from '@eslint/js';
import stylistic from '@stylistic/eslint-plugin';
import { defineConfig } from 'eslint/config';
import globals from 'globals';

export default defineConfig([
  {
    plugins: { '@stylistic': stylistic },
    extends: [js.configs.recommended],
    rules: { '@stylistic/max-len': ['error', { code: 100 }] },
  },
  { files: ['web/playground.js'], languageOptions: { globals: globals.browser } },
  {
    files: ['web/worker.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { ...globals.worker, createQualm: 'readonly' },
    },
  },
  {
    files: ['tests/web/*.mjs', 'bench/page.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
]);
