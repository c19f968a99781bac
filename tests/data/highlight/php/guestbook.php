<?php
/*
 * Guest book for a small club site: stores signed messages in a flat file,
 * one JSON object per line, and shows the newest first with paging.
 * Written to run on an old shared host, so no framework and no database.
 */

define('GUESTBOOK_FILE', __DIR__ . '/data/guestbook.jsonl');
define('PAGE_SIZE', 20);
define('MAX_MESSAGE', 2000);

// Characters we refuse outright; everything else is escaped on output.
$forbidden = array("\0", "\x1b", "\u{202E}");

function h($text)
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
}

function read_entries($path)
{
    $entries = array();
    if (!is_readable($path)) {
        return $entries;
    }
    $handle = fopen($path, 'r');
    if ($handle === false) {
        return $entries;
    }
    while (($line = fgets($handle)) !== false) {
        $line = trim($line);
        if ($line == '' || $line[0] == '#') {
            continue;
        }
        $entry = json_decode($line, true);
        if (is_array($entry) && isset($entry['name'], $entry['message'], $entry['time'])) {
            $entries[] = $entry;
        }
    }
    fclose($handle);
    return array_reverse($entries);
}

function append_entry($path, $name, $message)
{
    $record = json_encode(array(
        'name'    => $name,
        'message' => $message,
        'time'    => time(),
        'ip'      => substr(sha1($_SERVER['REMOTE_ADDR'] . 'guestbook-salt'), 0, 12),
    ));
    // LOCK_EX so that two visitors signing at once cannot interleave lines.
    return file_put_contents($path, $record . "\n", FILE_APPEND | LOCK_EX) !== false;
}

function validate($name, $message, $forbidden)
{
    $errors = array();
    if (strlen(trim($name)) < 2) {
        $errors[] = 'Please give a name of at least two characters.';
    }
    if (strlen($message) > MAX_MESSAGE) {
        $errors[] = sprintf('Messages are limited to %d characters.', MAX_MESSAGE);
    }
    foreach ($forbidden as $bad) {
        if (strpos($name . $message, $bad) !== false) {
            $errors[] = 'The message contains characters we cannot store.';
            break;
        }
    }
    if (preg_match('/https?:\/\//i', $message) && !isset($_POST['links_ok'])) {
        $errors[] = "Links need the \"I am not a robot\" box ticked.";
    }
    return $errors;
}

class Pager
{
    var $total;
    var $page;
    var $size;

    function Pager($total, $page, $size = PAGE_SIZE)
    {
        $this->total = (int) $total;
        $this->size = max(1, (int) $size);
        $this->page = min(max(1, (int) $page), $this->pages());
    }

    function pages()
    {
        return max(1, (int) ceil($this->total / $this->size));
    }

    function offset()
    {
        return ($this->page - 1) * $this->size;
    }

    function links($base)
    {
        $out = '';
        for ($i = 1; $i <= $this->pages(); $i++) {
            if ($i == $this->page) {
                $out .= "<strong>$i</strong> ";
            } else {
                $out .= '<a href="' . h($base) . '?page=' . $i . '">' . $i . '</a> ';
            }
        }
        return rtrim($out);
    }
}

$errors = array();
$name = isset($_POST['name']) ? $_POST['name'] : '';
$message = isset($_POST['message']) ? $_POST['message'] : '';

if ($_SERVER['REQUEST_METHOD'] == 'POST') {
    $errors = validate($name, $message, $forbidden);
    if (empty($errors) and append_entry(GUESTBOOK_FILE, $name, $message)) {
        header('Location: ' . $_SERVER['PHP_SELF'] . '?signed=1', true, 303);
        exit;
    } elseif (empty($errors)) {
        $errors[] = 'Sorry, the guest book could not be saved. Please try later.';
    }
}

$entries = read_entries(GUESTBOOK_FILE);
$pager = new Pager(count($entries), isset($_GET['page']) ? $_GET['page'] : 1);
$shown = array_slice($entries, $pager->offset(), $pager->size);

echo "<h1>Guest book</h1>\n";
if (isset($_GET['signed'])) {
    echo '<p class="thanks">Thank you for signing!</p>';
}
foreach ($errors as $error) {
    print '<p class="error">' . h($error) . "</p>\n";
}
foreach ($shown as $entry) {
    $when = date('j M Y, H:i', $entry['time']);
    echo "<div class=\"entry\"><p class=\"who\">" . h($entry['name']) . " &middot; $when</p>";
    echo '<p>' . nl2br(h($entry['message'])) . '</p></div>';
}
echo '<p class="pages">' . $pager->links($_SERVER['PHP_SELF']) . '</p>';

# Odd corners the scanner has to cope with.
$n = 0x1F + 017 + 1.5e3 + 1..5;
$m = 10 - 2;
$flags = E_ALL ^ E_NOTICE;
$n <<= 2; $n >>= 1; $n %= 7; $n *= 3; $n != 4 || $n++ && $n--;
$quiet = @file_get_contents('/missing');
$path = "C:\\temp\\{$name}";
$multi = "a double-quoted string
that goes on to the next line";
$single = 'a single-quoted string with \'escaped\' quotes
over two lines';
$long = /* a comment inside an expression */ 42;
$echo2 = 'echo2 is an identifier, ECHO and Echo are keywords';
ECHO $echo2; Echo "\n";
?>
