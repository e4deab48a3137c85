! Plots a damped oscillation and its envelope: on screen in a window of its own (PLOTDP),
! and into a PNG picture (PGPLOTLISTSP), then keeps the window until it is closed.
!
!   gfortran damped-oscillation.f90 $(pkg-config --cflags --libs curvist-fortran)
program damped_oscillation
  use curvist, only: keep_windows_until_closed
  use PLOTPACK
  use PGPLOTPACK
  implicit none
  integer, parameter :: points = 400
  real(8) :: time(points, 2), amplitude(points, 2), t
  real(4) :: time32(2 * points), amplitude32(2 * points)
  integer :: i

  do i = 1, points
    t = 10d0 * (i - 1) / (points - 1)
    time(i, :) = t
    amplitude(i, 1) = exp(-0.3d0 * t) * cos(2d0 * t)
    amplitude(i, 2) = exp(-0.3d0 * t)
  end do

  call PLOTDP(time, amplitude, RESOLUTION=0, XLABEL='t (s)', YLABEL='amplitude', &
              TITLE='Damped oscillation', OWNWINDOW=.true.)

  ! The same curves, one after another in 32-bit arrays, into damped.png.
  time32 = real(reshape(time, [2 * points]), 4)
  amplitude32 = real(reshape(amplitude, [2 * points]), 4)
  call PGPLOTLISTSP(time32, amplitude32, XLABEL='t (s)', YLABEL='amplitude', &
                    TITLE='Damped oscillation', FILENAME='damped.ps', NCURVES=2, DEVICE='png')
  if (curvist_status() /= CURVIST_OK) then
    write (*, '(a)') curvist_error()
    error stop 1
  end if

  call keep_windows_until_closed()
end program damped_oscillation
