# Assembles the playground into one page that works opened from disk: each
# script the template names by its src goes inline in its place (the
# interpreter module and the workers' scripts as text, to start workers
# from), and the example programs where the template marks them.
# cmake -D template=... -D scripts=DIR -D module=... -D examples=... -D page=... -P assemble.cmake

# Reads a file into `content_var`, failing where its text would end the
# inline script it goes into early.
function(read_inlinable path content_var)
  file(READ "${path}" content)
  string(TOLOWER "${content}" lower)
  foreach(marker "</script" "<!--")
    string(FIND "${lower}" "${marker}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${path} holds ${marker}, which would end the inline script early")
    endif()
  endforeach()
  set(${content_var} "${content}" PARENT_SCOPE)
endfunction()

file(READ "${template}" html)
string(REGEX MATCHALL "<script[^>]* src=\"[^\"]+\"></script>" tags "${html}")
foreach(tag IN LISTS tags)
  string(REGEX REPLACE ".* src=\"([^\"]+)\".*" "\\1" name "${tag}")
  if(name STREQUAL "qualm.js")
    read_inlinable("${module}" text)
  else()
    read_inlinable("${scripts}/${name}" text)
  endif()
  string(REPLACE " src=\"${name}\"></script>" ">${text}</script>" inlined "${tag}")
  string(REPLACE "${tag}" "${inlined}" html "${html}")
endforeach()

file(GLOB programs "${examples}/*.qlm")
set(example_tags "")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME_WE)
  read_inlinable("${program}" text)
  string(APPEND example_tags
    "<script type=\"text/plain\" class=\"example\" data-name=\"${name}\">${text}</script>\n")
endforeach()
string(REPLACE "<!-- examples -->" "${example_tags}" html "${html}")
file(WRITE "${page}" "${html}")
