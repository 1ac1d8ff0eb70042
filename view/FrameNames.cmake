# The drill's frame pictures lie beside the program as "<size prefix>_<frame number>.BMP":
# six frames for each of the seven drill sizes. The size prefixes are labels, not computed
# from the diameter (the last is 50, not 35). The program takes both lists from the header
# made of FrameNames.h.in, the build from BUSENJE_FRAME_NAMES, to draw and install the
# pictures under the names the program reads.
set(BUSENJE_FRAME_COUNT 6)
set(BUSENJE_FRAME_SIZE_PREFIXES 5 10 15 20 25 30 50)

set(BUSENJE_FRAME_NAMES "")
foreach(prefix IN LISTS BUSENJE_FRAME_SIZE_PREFIXES)
  foreach(frame RANGE 1 ${BUSENJE_FRAME_COUNT})
    list(APPEND BUSENJE_FRAME_NAMES "${prefix}_${frame}.BMP")
  endforeach()
endforeach()
