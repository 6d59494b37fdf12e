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
my (%skipped, @runs, %running, $differ);
my $bom = 'a byte order mark opening a stream';

my @rows = grep {
  my (undef, $op, $type, $mask, $value, $expected) = @$_;
  my $why = "$mask$value$expected" =~ /[\x{D800}-\x{DFFF}]/ ? 'an unpaired surrogate'
          : "$mask$value" =~ /[\t\n\r\0]/ || $expected =~ /[\n\r]/ ? 'a tab, line break or zero character'
          : undef;
  $skipped{$why}++ if $why;
  !$why;
} read_rows($path);

# Each run: its rows, the lines zmask reads and its arguments.
if ($mode eq 'batch') {
  @runs = ([\@rows, [map { join "\t", @$_[1 .. 4] } @rows], 'batch']);
} else {
  my %groups;
  for my $row (@rows) {
    my $group = $groups{join "\t", @$row[1 .. 3]} //= [];
    # zmask skips a byte order mark at the start of its input.
    if (!@$group && $row->[4] =~ /^\x{FEFF}/) { $skipped{$bom}++; next; }
    push @$group, $row;
  }
  # "--": a mask is taken as given, also one that starts with "--".
  @runs = map { [$_, [map { $_->[4] } @$_], $_->[0][1], '--', @{$_->[0]}[2, 3]] }
          map { $groups{$_} } grep { @{$groups{$_}} } sort keys %groups;
}

# At most four at a time: a stream per mask spends its time starting processes.
sub reap { my $pid = waitpid(shift, 0); $runs[delete $running{$pid}][5] = $? & 127; }  # the signal it died of
for my $n (0 .. $#runs) {
  my (undef, $input, @args) = @{$runs[$n]};
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
reap($_) for keys %running;

my $show = sub { my $s = shift // '<no answer>'; $s =~ s/([^\x20-\x7e])/sprintf '\\x{%x}', ord $1/ge; "[$s]" };
for my $n (0 .. $#runs) {
  my ($rows, $signal) = @{$runs[$n]}[0, 5];
  if ($signal) { $differ++; print "DIFF zmask died of signal $signal on run $n\n"; }
  my @answers = do { open my $from, '<', "$tmp/$n.out" or (); $from ? <$from> : () };
  chomp @answers;
  for my $i (0 .. $#$rows) {
    my ($line, $op, $type, $mask, $value, $expected) = @{$rows->[$i]};
    next if defined $answers[$i] && $answers[$i] eq $expected;
    $differ++;
    print "DIFF line $line: $op $type ", $show->($mask), ' ', $show->($value), ' gave ', $show->($answers[$i]),
          ', expected ', $show->($expected), "\n";
  }
}
my $skipped = 0;
$skipped += $_ for values %skipped;
printf "zmask %s: %d rows answered, %d not carried%s, %d differ\n", $mode, @rows - ($skipped{$bom} // 0), $skipped,
  (%skipped ? ' (' . join(', ', map { "$skipped{$_} with $_" } sort keys %skipped) . ')' : ''), $differ // 0;
exit($differ ? 1 : 0);
