# The shipped databases, made at build time beside the program:
#   base/eco.db     the opening base, its lines taken from data-src/eco/*.tsv
#                   and replayed through the program's own rules;
#   base/corres.db  the empty correspondence base.
file(GLOB MVD_ECO_TSV CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data-src/eco/*.tsv)

add_executable(genere_bases
  ${CMAKE_SOURCE_DIR}/tools/genere_bases/genere_bases.cpp
  ${CMAKE_SOURCE_DIR}/openings/ligne_eco.cpp
  ${CMAKE_SOURCE_DIR}/platform/base_donnees.cpp
  ${CMAKE_SOURCE_DIR}/platform/langue_messages.cpp)
target_include_directories(genere_bases PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(genere_bases PRIVATE mvd_chess mvdlang Qt6::Core Qt6::Sql)
set_target_properties(genere_bases PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/outils)

set(MVD_BASE_ECO ${CMAKE_BINARY_DIR}/base/eco.db)
set(MVD_BASE_CORRES ${CMAKE_BINARY_DIR}/base/corres.db)
add_custom_command(
  OUTPUT ${MVD_BASE_ECO} ${MVD_BASE_CORRES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/base
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:genere_bases> ${CMAKE_SOURCE_DIR}/data-src/eco ${MVD_BASE_ECO} ${MVD_BASE_CORRES}
  DEPENDS genere_bases ${MVD_ECO_TSV}
  COMMENT "Building the opening base and the correspondence base"
  VERBATIM)
add_custom_target(mvd_bases ALL DEPENDS ${MVD_BASE_ECO} ${MVD_BASE_CORRES})
# Whatever links the opening base (the program, the tests) finds the bases built.
add_dependencies(mvd_openings mvd_bases)
