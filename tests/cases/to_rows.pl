#!/usr/bin/perl
# The case table for a database: decodes its escapes and writes each row as
# PostgreSQL COPY text (--copy) or as an SQL INSERT into cases (--sql), with
# its line number first; --sql-prepared writes instead, for each op, type and
# mask, one SQLite query over those rows of cases that names the type and
# mask as constants (which lets a function prepare the mask once) and prints
# each row whose answer differs. Text that SQL cannot hold (a zero character,
# an unpaired surrogate) skips the row; the count goes to standard error.
#   to_rows.pl --copy|--sql|--sql-prepared cases.tsv > rows
use strict;
use warnings;
use FindBin;
use lib $FindBin::Bin;
use CaseTable qw(read_rows);
use open qw(:std :encoding(UTF-8));

my ($mode, $path) = @ARGV;
die "usage: $0 --copy|--sql|--sql-prepared FILE\n" unless @ARGV == 2 && $mode =~ /^--(copy|sql|sql-prepared)$/;
my %groups;
sub quote { "'" . $_[0] =~ s/'/''/gr . "'" }
my ($nul, $surrogate) = (0, 0);
for my $row (read_rows($path)) {
  my ($line, @row) = @$row;
  my $text = join '', @row;
  if ($text =~ /\0/) { $nul++; next; }
  if ($text =~ /[\x{D800}-\x{DFFF}]/) { $surrogate++; next; }
  if ($mode eq '--copy') {
    for (@row) { s/\\/\\\\/g; s/\t/\\t/g; s/\n/\\n/g; s/\r/\\r/g; }
    print join("\t", $line, @row), "\n";
  } elsif ($mode eq '--sql') {
    print "INSERT INTO cases VALUES ($line, ", join(', ', map { quote($_) } @row), ");\n";
  } else {
    $groups{join "\t", @row[0 .. 2]} = [@row[0 .. 2]];
  }
}
for my $key (sort keys %groups) {
  my ($op, $type, $mask) = map { quote($_) } @{$groups{$key}};
  my $call = "($type, $mask, value)";
  my $got = $op eq "'check'" ? "iif(zm_valid$call, 'valid', 'invalid')" : $op eq "'raw'" ? "zm_raw$call" : "zm_format$call";
  print "SELECT printf('mismatch at line %d (prepared): %s %s [%s] [%s] gave [%s], wanted [%s]', ",
        "line, op, type, mask, value, got, expected) FROM (SELECT *, $got AS got FROM cases ",
        "WHERE op = $op AND type = $type AND mask = $mask) WHERE got IS NOT expected;\n";
}
printf STDERR "case table: %d rows skipped (text SQL cannot hold: %d with a zero character, %d with an unpaired surrogate)\n",
  $nul + $surrogate, $nul, $surrogate;
