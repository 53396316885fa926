# The program's modules (the export, the database, the PDF and the windows): shared objects that
# it loads when they are first needed (io/module_loader.h), so that it links only what every run
# uses. A module is installed in lib/lumetra/; the program that loads it looks for it there,
# relative to its own folder, then where the build put it.

# lumetra_add_module(TARGET SOURCES...): the module TARGET built from SOURCES and installed.
function(lumetra_add_module target)
  add_library(${target} MODULE ${ARGN})
  install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lumetra)
  set(name ${CMAKE_SHARED_MODULE_PREFIX}${target}${CMAKE_SHARED_MODULE_SUFFIX})
  file(RELATIVE_PATH from_bindir /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${CMAKE_INSTALL_LIBDIR}/lumetra/${name})
  set_target_properties(${target} PROPERTIES LUMETRA_FROM_BINDIR "${from_bindir}")
endfunction()

# lumetra_load_module(LOADER MODULE PREFIX): LOADER's sources find MODULE at PREFIX_FROM_BINDIR
# (the installed place relative to the program's folder) and PREFIX_IN_BUILD (the build's), and
# the module is built with LOADER.
function(lumetra_load_module loader module prefix)
  get_target_property(from_bindir ${module} LUMETRA_FROM_BINDIR)
  target_compile_definitions(${loader} PRIVATE ${prefix}_FROM_BINDIR="${from_bindir}"
    ${prefix}_IN_BUILD="$<TARGET_FILE:${module}>")
  add_dependencies(${loader} ${module})
endfunction()
