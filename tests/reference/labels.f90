! Writes every tick label format the screen plotter can choose, (f8.0) and (gW.D) for
! D = 2 to 16 with W = D + 6, for each value read from standard input. A value is given
! as the 16 hexadecimal digits of its 64-bit pattern, one per line, so that it reaches
! the runtime exactly. Output: the pattern, then each format and its field, separated by
! vertical bars.
program labels
  implicit none
  character(len=64) :: line
  character(len=16) :: descriptor
  character(len=32) :: field
  integer(8) :: bits
  real(8) :: value
  integer :: status, digits

  do
    read (*, '(a)', iostat=status) line
    if (status /= 0) exit
    read (line, '(z16)') bits
    value = transfer(bits, value)
    write (*, '(a)', advance='no') trim(line)
    write (field, '(f8.0)') value
    write (*, '(a,a)', advance='no') '|(f8.0):', field(1:8)
    do digits = 2, 16
      write (descriptor, '(a,i0,a,i0,a)') '(g', digits + 6, '.', digits, ')'
      write (field, descriptor) value
      write (*, '(a,a,a,a)', advance='no') '|', trim(descriptor), ':', field(1:digits + 6)
    end do
    write (*, '(a)') ''
  end do
end program labels
