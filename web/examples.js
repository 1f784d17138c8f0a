'use strict';
// The examples list: an example loads the way typing would, and the list
// shows which example the program is, with or without its final newline,
// or that it is none.
/* global page, held, replaceProgram */
/* exported listExamples, loadExample, showExample */

function listExamples() {
  page.examples.append(new Option('Your own program', ''));
  for (const example of document.querySelectorAll('script.example')) {
    const name = example.dataset.name.replaceAll('_', ' ');
    const program = example.textContent.trim();
    const label = `${name[0].toUpperCase()}${name.slice(1)}: ${program}`;
    page.examples.append(new Option(label, example.textContent));
  }
}

function loadExample() {
  if (page.examples.value === '') return;
  replaceProgram(page.examples.value,
    `Loaded the example ${page.examples.selectedOptions[0].text}.`);
}

function showExample() {
  const program = page.program.value;
  const examples = [...page.examples.options].map((option) => option.value);
  page.examples.value = held.bytes ? ''
    : [program, `${program}\n`].find((text) => text !== '' && examples.includes(text)) ?? '';
}
