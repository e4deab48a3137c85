! Module PLOTPACK: curves drawn in a graphics window on screen, as the module of that
! name offered them.
module PLOTPACK
  use curvist, only: PLOTDP, PLOTSP, PLOTLISTDP, PLOTLISTSP, window_counter, &
                     curvist_status, curvist_error, CURVIST_OK, CURVIST_BAD_ARGUMENTS, &
                     CURVIST_NOT_PLOTTED, CURVIST_PICTURE_NOT_WRITTEN, CURVIST_FAILED
  implicit none
end module PLOTPACK
