#!/usr/bin/perl
# A case table through zmask: every row as one line of `zmask batch`
# (batch), or each run of one op, type and mask as a stream of values
# (stream). Prints "DIFF ..." for each row whose answer differs, then
# "zmask MODE: N rows answered, N not carried (...), N differ"; exits 1 when
# a row differs or zmask dies of a signal. A line cannot carry a tab, a line
# break or a zero character, UTF-8 no unpaired surrogate.
#   zmask_table.pl ZMASK TABLE batch|stream
use strict;
use warnings;
use FindBin;
use lib $FindBin::Bin;
use CaseTable qw(read_rows);
use File::Temp qw(tempdir);
use POSIX ();
use open qw(:std :encoding(UTF-8));

my ($zmask, $path, $mode) = @ARGV;
die "usage: $0 ZMASK TABLE batch|stream\n" unless @ARGV == 3 && $mode =~ /^(batch|stream)$/;
my $tmp = tempdir(CLEANUP => 1);
my (%skipped, @rows, $differ);

for my $row (read_rows($path)) {
  my (undef, $op, $type, $mask, $value, $expected) = @$row;
  my $why = join('', $mask, $value, $expected) =~ /[\x{D800}-\x{DFFF}]/ ? 'an unpaired surrogate'
          : join('', $mask, $value) =~ /[\t\n\r\0]/ || $expected =~ /[\n\r]/ ? 'a tab, line break or zero character'
          : undef;
  if ($why) { $skipped{$why}++; next; }
  push @rows, $row;
}

# Starts zmask run N with ARGS on the lines of INPUT, at most four at a time
# (a stream per mask spends its time starting processes).
my (%running, %signal);  # run numbers by process; the signal a run died of
sub reap {
  my $pid = waitpid(shift, 0);
  $signal{$running{$pid}} = $? & 127 if $? & 127;
  delete $running{$pid};
}
sub start_zmask {
  my ($n, $input, @args) = @_;
  reap(-1) if keys %running >= 4;
  open my $to, '>', "$tmp/$n.in" or die "$tmp/$n.in: $!\n";
  print $to map { "$_\n" } @$input;
  close $to or die "$tmp/$n.in: $!\n";
  my $pid = fork // die "fork: $!\n";
  if (!$pid) {
    open STDIN, '<', "$tmp/$n.in" or die "$tmp/$n.in: $!\n";
    open STDOUT, '>', "$tmp/$n.out" or die "$tmp/$n.out: $!\n";
    open STDERR, '>', '/dev/null';
    { exec $zmask, @args }
    POSIX::_exit(127);
  }
  $running{$pid} = $n;
}

# The answer lines of run N, once every run has ended.
sub answers {
  my ($n) = @_;
  reap($_) for keys %running;
  if ($signal{$n}) {
    $differ++;
    print "DIFF zmask died of signal $signal{$n} on run $n\n";
  }
  open my $from, '<', "$tmp/$n.out" or return ();
  my @answers = <$from>;
  chomp @answers;
  return @answers;
}

sub compare {
  my ($row, $got) = @_;
  my (undef, $op, $type, $mask, $value, $expected) = @$row;
  return if defined $got && $got eq $expected;
  $differ++;
  my $show = sub { my $s = shift // '<no answer>'; $s =~ s/([^\x20-\x7e])/sprintf '\\x{%x}', ord $1/ge; "[$s]" };
  print 'DIFF line ', $row->[0], ": $op $type ", $show->($mask), ' ', $show->($value),
        ' gave ', $show->($got), ', expected ', $show->($expected), "\n";
}

if ($mode eq 'batch') {
  start_zmask(0, [map { join "\t", @$_[1 .. 4] } @rows], 'batch');
  my @answers = answers(0);
  compare($rows[$_], $answers[$_]) for 0 .. $#rows;
} else {
  my %groups;
  for my $row (@rows) {
    my $group = $groups{join "\t", @$row[1 .. 3]} //= [];
    # zmask skips a byte order mark at the start of its input.
    if (!@$group && $row->[4] =~ /^\x{FEFF}/) { $skipped{'a byte order mark opening a stream'}++; next; }
    push @$group, $row;
  }
  my @groups = map { $groups{$_} } grep { @{$groups{$_}} } sort keys %groups;
  # "--": a mask is taken as given, also one that starts with "--".
  start_zmask($_, [map { $_->[4] } @{$groups[$_]}], $groups[$_][0][1], '--', @{$groups[$_][0]}[2, 3]) for 0 .. $#groups;
  for my $n (0 .. $#groups) {
    my @answers = answers($n);
    compare($groups[$n][$_], $answers[$_]) for 0 .. $#{$groups[$n]};
  }
}
my $skipped = 0;
$skipped += $_ for values %skipped;
printf "zmask %s: %d rows answered, %d not carried%s, %d differ\n", $mode, @rows - ($skipped{'a byte order mark opening a stream'} // 0), $skipped, (%skipped ? ' (' . join(', ', map { "$skipped{$_} with $_" } sort keys %skipped) . ')' : ''), $differ // 0;
exit($differ ? 1 : 0);
