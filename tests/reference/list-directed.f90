! Reads each line of standard input the way gfortran's list-directed input reads a
! record: as one integer, as two integers and as two reals. For each read it writes the
! status (0, or 1 for an error or the end of the record) and each item, or "-" for an
! item the read left as it was (a null value, or one after a slash). Reals are written
! as the 16 hexadecimal digits of their 64-bit pattern, so that they compare exactly.
! One output line per input line, the three reads separated by vertical bars.
program list_directed
  implicit none
  character(len=1024) :: line
  integer :: status

  do
    read (*, '(a)', iostat=status) line
    if (status /= 0) exit
    call integers(line, 1)
    write (*, '(a)', advance='no') '|'
    call integers(line, 2)
    write (*, '(a)', advance='no') '|'
    call reals(line)
    write (*, '(a)') ''
  end do

contains

  ! The items are read twice, starting from two different values: an item that keeps
  ! its starting value both times was left unchanged by the read.
  subroutine integers(text, count)
    character(len=*), intent(in) :: text
    integer, intent(in) :: count
    integer :: first(2), second(2), first_status, second_status, item
    first = 1
    second = 2
    read (text, *, iostat=first_status) first(1:count)
    read (text, *, iostat=second_status) second(1:count)
    write (*, '(i0)', advance='no') merge(0, 1, first_status == 0 .and. second_status == 0)
    do item = 1, count
      if (first(item) == 1 .and. second(item) == 2) then
        write (*, '(a)', advance='no') ' -'
      else
        write (*, '(a,i0)', advance='no') ' ', first(item)
      end if
    end do
  end subroutine integers

  subroutine reals(text)
    character(len=*), intent(in) :: text
    real(8) :: first(2), second(2)
    integer :: first_status, second_status, item
    first = 1
    second = 2
    read (text, *, iostat=first_status) first
    read (text, *, iostat=second_status) second
    write (*, '(i0)', advance='no') merge(0, 1, first_status == 0 .and. second_status == 0)
    do item = 1, 2
      if (first(item) == 1 .and. second(item) == 2) then
        write (*, '(a)', advance='no') ' -'
      else
        write (*, '(a,z16.16)', advance='no') ' ', first(item)
      end if
    end do
  end subroutine reals

end program list_directed
