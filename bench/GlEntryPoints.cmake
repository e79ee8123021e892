# Writes the list of every GL entry point the game can reach, taken from GLEW's header, as
# macro calls for the GL call counter:
#   GL_DIRECT(index, return type, name, (parameters), (arguments))  a libGL symbol (GL 1.1)
#   GL_LOADED(index, pointer, name)  a function GLEW loads at run time into its pointer
# Taken from the header rather than written by hand, so that a function the game starts to
# use later is counted without anyone remembering to add it.
function(write_gl_entry_points header output)
  file(STRINGS "${header}" direct_lines REGEX "^GLAPI .+ GLAPIENTRY gl[A-Za-z0-9_]+ \\(.*\\);$")
  file(STRINGS "${header}" loaded_lines
       REGEX "^GLEW_FUN_EXPORT PFN[A-Z0-9_]+ __glew[A-Za-z0-9_]+;$")
  if(NOT direct_lines OR NOT loaded_lines)
    message(FATAL_ERROR "${header}: no GL entry points found; is it GLEW's header?")
  endif()

  set(text "// Generated from ${header} by bench/GlEntryPoints.cmake.\n")
  set(index 0)
  foreach(line IN LISTS direct_lines)
    string(REGEX MATCH "^GLAPI (.+) GLAPIENTRY (gl[A-Za-z0-9_]+) \\((.*)\\);$" _ "${line}")
    set(result "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    string(STRIP "${CMAKE_MATCH_3}" parameters)
    set(arguments "")
    if(NOT parameters STREQUAL "void" AND NOT parameters STREQUAL "")
      string(REPLACE "," ";" parameter_list "${parameters}")
      foreach(parameter IN LISTS parameter_list)
        # The name is the last word: "const GLfloat *v" -> v.
        string(REGEX MATCH "[A-Za-z0-9_]+[ ]*$" argument "${parameter}")
        string(STRIP "${argument}" argument)
        list(APPEND arguments "${argument}")
      endforeach()
    endif()
    list(JOIN arguments ", " arguments)
    string(APPEND text "GL_DIRECT(${index}, ${result}, ${name}, (${parameters}), (${arguments}))\n")
    math(EXPR index "${index} + 1")
  endforeach()
  foreach(line IN LISTS loaded_lines)
    string(REGEX MATCH "(__glew([A-Za-z0-9_]+));$" _ "${line}")
    string(APPEND text "GL_LOADED(${index}, ${CMAKE_MATCH_1}, gl${CMAKE_MATCH_2})\n")
    math(EXPR index "${index} + 1")
  endforeach()
  string(APPEND text "#define GL_ENTRY_POINT_COUNT ${index}\n")

  # Rewritten only when it changes, so that configuring again rebuilds nothing.
  file(CONFIGURE OUTPUT "${output}" CONTENT "${text}" @ONLY)
endfunction()
