# Sanitizers apply to every target of a build tree, so that instrumented and plain code never mix.
if(TUNDREL_SANITIZE)
  add_compile_options(-fsanitize=${TUNDREL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${TUNDREL_SANITIZE})
endif()
