! Module LOADPLOTPACK: a data file read and drawn, on screen and into a picture named
! after it, as the module of that name offered it.
module LOADPLOTPACK
  use curvist, only: LOADPLOT, curvist_status, curvist_error, CURVIST_OK, &
                     CURVIST_BAD_ARGUMENTS, CURVIST_NOT_PLOTTED, CURVIST_PICTURE_NOT_WRITTEN, &
                     CURVIST_FAILED
  implicit none
end module LOADPLOTPACK
