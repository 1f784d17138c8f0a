// What the interpreter tells its host as a run goes (host.cpp), handed to
// the functions the host gave the module, where it gave them:
// onCommand(index), as the command at that index of the command string
// begins, and onEnding(how), as the run takes its way to an end, `how`
// being the ending's place in the list that qualm_endings() gives.
mergeInto(LibraryManager.library, {
  qualm_command_begins: function (index) {
    if (Module['onCommand']) Module['onCommand'](index);
  },
  qualm_ending_taken: function (how) {
    if (Module['onEnding']) Module['onEnding'](how);
  },
});
