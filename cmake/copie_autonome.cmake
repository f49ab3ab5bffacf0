# cmake -DPROGRAMME=<path of morvandel> -DCOPIE=<new folder> -P copie_autonome.cmake
#
# Copies the program and its two libraries into a folder of their own, as the
# README's recipe for two copies does, and checks with ldd that the copy finds
# both libraries in its own folder, not in the build folder.
get_filename_component(dossier "${PROGRAMME}" DIRECTORY)
file(REMOVE_RECURSE "${COPIE}")
file(MAKE_DIRECTORY "${COPIE}")
file(GLOB bibliotheques "${dossier}/libmvdlang.so*" "${dossier}/libmvdechiquier.so")
file(COPY "${PROGRAMME}" ${bibliotheques} DESTINATION "${COPIE}")
execute_process(COMMAND ldd "${COPIE}/morvandel" OUTPUT_VARIABLE liens RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ldd failed on the copy:\n${liens}")
endif()
string(FIND "${liens}" "not found" absente)
if(NOT absente EQUAL -1)
  message(FATAL_ERROR "the copy misses a library:\n${liens}")
endif()
foreach(bibliotheque libmvdlang.so.1 libmvdechiquier.so)
  string(FIND "${liens}" "${bibliotheque} => ${COPIE}/${bibliotheque} " trouvee)
  if(trouvee EQUAL -1)
    message(FATAL_ERROR "the copy does not take ${bibliotheque} from its own folder:\n${liens}")
  endif()
endforeach()
file(REMOVE_RECURSE "${COPIE}")
