# The interpreter compiled to WebAssembly, as every JavaScript host starts
# it: a module made by a function that the host calls (EXPORT_NAME), whose
# main runs once when the host asks, with the language's facts and the
# traced pass exported (trace.cpp) and the run's reports passed on to the
# host (host.cpp, host.js). The page's workers, the npm package's run() and
# its command are each such a module; OPTIONS add what the host's
# environment needs.
set(QUALM_HOST_LIBRARY ${CMAKE_CURRENT_LIST_DIR}/host.js)
function(qualm_wasm_module target export_name)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/web/host.cpp
    ${PROJECT_SOURCE_DIR}/web/trace.cpp)
  target_link_libraries(${target} PRIVATE qualm_interpreter qualm_warnings)
  target_link_options(${target} PRIVATE -sMODULARIZE=1 -sEXPORT_NAME=${export_name}
    -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1
    "-sEXPORTED_FUNCTIONS=_main,_malloc,_free,_qualm_trace,_qualm_steps,_qualm_language,\
_qualm_endings,_qualm_pending_runs"
    -sEXPORTED_RUNTIME_METHODS=FS,callMain "SHELL:--js-library ${QUALM_HOST_LIBRARY}"
    ${ARGN})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${QUALM_HOST_LIBRARY})
endfunction()

# A program of the build run by node on the real files, as the tests and
# the benchmark run the pass: all the memory a WebAssembly program may have.
function(qualm_node_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sSINGLE_FILE=1
    -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB)
endfunction()
