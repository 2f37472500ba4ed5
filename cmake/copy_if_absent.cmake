# Copies SRC to DST only when DST does not exist yet: a user's settings are never overwritten.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
