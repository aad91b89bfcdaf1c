# Copies the shipped data into the program folder. Read-only data is refreshed from the source;
# "Generator.ini" is the user's settings file once the program has run, so it is only copied
# when it is missing.
file(GLOB_RECURSE entries RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry IN LISTS entries)
  if(entry MATCHES "^(CMakeLists.txt|copy_program_data.cmake)$")
    continue()
  endif()
  set(target ${TARGET}/${entry})
  if(entry STREQUAL "Generator.ini")
    if(NOT EXISTS ${target})
      file(COPY_FILE ${SOURCE}/${entry} ${target})
    endif()
  else()
    get_filename_component(folder ${target} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${SOURCE}/${entry} ${target} ONLY_IF_DIFFERENT)
  endif()
endforeach()
