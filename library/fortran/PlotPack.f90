! Module PLOTPACK: curves drawn in a graphics window on screen, as the module of that
! name offered them.
module PLOTPACK
  use curvist, only: PLOTDP, PLOTSP, PLOTLISTDP, PLOTLISTSP, window_counter, PURGE, &
                     PLOT_PREPARESCREEN, PLOT_KILLSCREEN, &
                     curvist_status, curvist_error, CURVIST_OK, CURVIST_BAD_ARGUMENTS, &
                     CURVIST_NOT_PLOTTED, CURVIST_PICTURE_NOT_WRITTEN, CURVIST_FAILED
  implicit none
  private :: PLOT_PREPARESCREEN, PLOT_KILLSCREEN

  ! The module's own steps around its drawing. In a program that uses PGPLOTPACK too,
  ! each name stands for both modules' operations, told apart by the arguments.
  interface PREPARESCREEN
    module procedure PLOT_PREPARESCREEN
  end interface

  interface KILLSCREEN
    module procedure PLOT_KILLSCREEN
  end interface

end module PLOTPACK
