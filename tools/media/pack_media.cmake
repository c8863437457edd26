# Packs the generated media folder into the game's two archives.
# Run as: cmake -DZAZPACK=<packer> -DMEDIA_DIR=<folder> -P pack_media.cmake
# data.zaz: every picture, font and sound; media.zaz: the music. The high-ratings file
# stays loose: the game rewrites it in place.
if(NOT ZAZPACK OR NOT MEDIA_DIR)
  message(FATAL_ERROR "pack_media.cmake needs ZAZPACK and MEDIA_DIR")
endif()

function(pack archive)
  set(files ${ARGN})
  list(SORT files)
  if(NOT files)
    message(STATUS "pack_media: nothing to put into ${archive}")
    return()
  endif()
  file(REMOVE ${MEDIA_DIR}/${archive})
  execute_process(COMMAND ${ZAZPACK} ${MEDIA_DIR}/${archive} ${files} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE ${MEDIA_DIR}/${archive})
    message(FATAL_ERROR "pack_media: zazpack failed on ${archive} (${result})")
  endif()
  list(LENGTH files count)
  message(STATUS "pack_media: ${archive} holds ${count} files")
endfunction()

file(GLOB data_files LIST_DIRECTORIES false
  ${MEDIA_DIR}/*.png ${MEDIA_DIR}/*.bmp ${MEDIA_DIR}/*.jpg ${MEDIA_DIR}/*.wav)
file(GLOB music_files LIST_DIRECTORIES false ${MEDIA_DIR}/*.mp3)
pack(data.zaz ${data_files})
pack(media.zaz ${music_files})
