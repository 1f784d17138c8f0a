# Assembles the playground into one page that works opened from disk: the
# page's script, the worker's script and the interpreter module (as text,
# to start a worker from) and the example programs go inline into the
# template.
# cmake -D template=... -D script=... -D worker=... -D module=... -D examples=... -D page=...
#   -P assemble.cmake
function(inline_text content_var what)
  string(TOLOWER "${${content_var}}" lower)
  foreach(marker "</script" "<!--")
    string(FIND "${lower}" "${marker}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${what} holds ${marker}, which would end the inline script early")
    endif()
  endforeach()
endfunction()

file(READ "${template}" html)
file(READ "${script}" script_text)
file(READ "${worker}" worker_text)
file(READ "${module}" module_text)
inline_text(script_text "${script}")
inline_text(worker_text "${worker}")
inline_text(module_text "${module}")

file(GLOB programs "${examples}/*.qlm")
set(example_tags "")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME_WE)
  file(READ "${program}" text)
  inline_text(text "${program}")
  string(APPEND example_tags
    "<script type=\"text/plain\" class=\"example\" data-name=\"${name}\">${text}</script>\n")
endforeach()

string(REPLACE "<!-- examples -->" "${example_tags}" html "${html}")
set(scripts "<script type=\"text/plain\" id=\"interpreter\">${module_text}</script>\n")
string(APPEND scripts "<script type=\"text/plain\" id=\"worker\">${worker_text}</script>")
string(REPLACE "<!-- interpreter -->" "${scripts}" html "${html}")
string(REPLACE "<script src=\"playground.js\"></script>" "<script>${script_text}</script>"
  html "${html}")
file(WRITE "${page}" "${html}")
