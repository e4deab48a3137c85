! Module PGPLOTPACK: curves drawn into a picture file through PGPLOT, as the module of
! that name offered them.
module PGPLOTPACK
  use curvist, only: PGPLOTDP, PGPLOTSP, PGPLOTLISTDP, PGPLOTLISTSP, unwritten_pictures, &
                     PGPLOT_PREPARESCREEN, PGPLOT_KILLSCREEN, &
                     curvist_status, curvist_error, CURVIST_OK, CURVIST_BAD_ARGUMENTS, &
                     CURVIST_NOT_PLOTTED, CURVIST_PICTURE_NOT_WRITTEN, CURVIST_FAILED
  implicit none
  private :: PGPLOT_PREPARESCREEN, PGPLOT_KILLSCREEN

  ! The module's own steps around its drawing. In a program that uses PLOTPACK too, each
  ! name stands for both modules' operations, told apart by the arguments.
  interface PREPARESCREEN
    module procedure PGPLOT_PREPARESCREEN
  end interface

  interface KILLSCREEN
    module procedure PGPLOT_KILLSCREEN
  end interface

end module PGPLOTPACK
